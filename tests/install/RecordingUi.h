// A window stand-in for the install actions' tests: it records each request into the
// substitute platform's call list, so platform and window steps are checked in one order.
#pragma once

#include <map>

#include "install/InstallImeEdition.h"
#include "platform/Substitute.h"

namespace lcime {

using Calls = std::vector<std::string>;

inline std::string Id(ControlId id) { return std::to_string(int(id)); }

class RecordingUi : public InstallerUi {
public:
    explicit RecordingUi(SubstitutePlatform& platform) : calls_(platform.calls) {}
    void ShowNotice() override { calls_.push_back("ShowNotice"); }
    void SlideOut(ControlId normal, ControlId highlight, int16_t step) override {
        calls_.push_back("SlideOut " + Id(normal) + "," + Id(highlight) + " step=" + std::to_string(step));
    }
    void SetCaption(ControlId label, const std::string& caption) override { captions[label] = caption; }
    void ReturnToPlace(ControlId normal, ControlId highlight) override {
        calls_.push_back("ReturnToPlace " + Id(normal) + "," + Id(highlight));
    }
    void ShowControl(ControlId control) override { calls_.push_back("ShowControl " + Id(control)); }
    std::map<ControlId, std::string> captions;

private:
    Calls& calls_;
};

}  // namespace lcime
