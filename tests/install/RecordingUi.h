// A window stand-in for the install actions' tests: it records each request into the
// substitute platform's call list, so platform and window steps are checked in one order.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "install/InstallImeEdition.h"
#include "platform/Substitute.h"

namespace lcime {

using Calls = std::vector<std::string>;

class RecordingUi : public InstallerUi {
public:
    explicit RecordingUi(SubstitutePlatform& platform) : calls_(platform.calls) {}
    void ShowNotice() override { calls_.push_back("ShowNotice"); }
    void SlideOut(ControlId normal, ControlId highlight, int16_t step) override {
        calls_.push_back("SlideOut " + std::to_string(int(normal)) + "," +
                         std::to_string(int(highlight)) + " step=" + std::to_string(step));
    }
    void SetCaption(ControlId label, const std::string& caption) override {
        calls_.push_back("SetCaption " + std::to_string(int(label)) + " " + caption);
        captions[label] = caption;
    }
    void ReturnToPlace(ControlId normal, ControlId highlight) override {
        calls_.push_back("ReturnToPlace " + std::to_string(int(normal)) + "," +
                         std::to_string(int(highlight)));
    }
    void ShowControl(ControlId control) override {
        calls_.push_back("ShowControl " + std::to_string(int(control)));
    }
    std::map<ControlId, std::string> captions;

private:
    std::vector<std::string>& calls_;
};

}  // namespace lcime
