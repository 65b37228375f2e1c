// Host benchmark of the menu's repaint work: a full repaint (every visible control in drawing
// order with its bounds and caption) and a hover repaint (the mouse move onto an item, then
// the controls of each invalidated rectangle). Prints medians in microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "menu/Form2.h"
#include "platform/Substitute.h"

namespace {

using Clock = std::chrono::steady_clock;

// What a painter reads per control; summed so that the work cannot be optimised away.
size_t Paint(const lcime::Scene& scene, const lcime::PixelRect& area) {
    size_t work = 0;
    for (lcime::ControlId id : scene.PaintOrder(area)) {
        const lcime::PixelRect bounds = scene.Bounds(id);
        work += size_t(bounds.left + bounds.width) + scene[id].caption.size();
    }
    return work;
}

template <typename F>
double MedianMicros(int runs, F&& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

}  // namespace

int main() {
    lcime::SubstitutePlatform platform;
    lcime::Module1 state;
    lcime::Form2 form(platform, state);
    std::vector<lcime::PixelRect> dirty;
    form.scene().onInvalidate = [&](const lcime::PixelRect& r) { dirty.push_back(r); };
    size_t sink = 0;

    const double full = MedianMicros(20001, [&] { sink += Paint(form.scene(), {0, 0, 595, 443}); });
    bool onItem = false;
    const double hover = MedianMicros(20001, [&] {
        dirty.clear();
        onItem = !onItem;
        form.MouseMove(onItem ? 100 : 5, onItem ? 250 : 5);  // item 4, then bare window
        for (const lcime::PixelRect& r : dirty) sink += Paint(form.scene(), r);
    });
    std::printf("full_repaint_us %.3f\nhover_repaint_us %.3f\n(sink %zu)\n", full, hover, sink % 10);
    return 0;
}
