#include "MainFormArt.h"

#include "framework/system/ExecutableFolder.h"
#include "kelp/Graphics/PngReader.h"

#include <map>
#include <memory>

namespace arttest {

TMainForm& MainForm()
{
    static std::unique_ptr<TMainForm> form = testsupport::LoadMainLayout();
    return *form;
}

RECT Bounds(const TControl& control)
{
    return {control.Left(), control.Top(), control.Left() + control.Width(), control.Top() + control.Height()};
}

bool Intersect(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

const std::vector<std::string>& ModeGroup()
{
    static const std::vector<std::string> names = {
        "ModeTitle", "CurrentModeName", "CpuStatusTitle", "TranquilityTitle", "PerformanceTitle",
        "ConvenienceTitle", "ReliabilityTitle", "EnergySavingTitle", "MoreSettingButton", "CalibrateButton",
        "ExitButton", "AutoButton", "TurboButton", "NormalButton", "MedButton", "LowButton"};
    return names;
}

const std::vector<std::string>& EnergyGroup()
{
    static const std::vector<std::string> names = {"Date", "ResetButton", "SwitchButton"};
    return names;
}

std::vector<VtCustomControl*> SkinnedControls()
{
    std::vector<VtCustomControl*> controls;
    TMainForm& form = MainForm();
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<VtCustomControl*>(form.Components(i)))
            controls.push_back(control);
    return controls;
}

TBitmap& DialLayer(const std::string& name)
{
    static std::map<std::string, TBitmap> layers;
    auto found = layers.find(name);
    if (found == layers.end()) {
        found = layers.try_emplace(name).first;
        kelp::LoadPngPicture(ExecutableFolder() + "Resource\\" + name, found->second);
    }
    return found->second;
}

uint8_t Alpha(TBitmap& bitmap, int x, int y)
{
    return bitmap.ScanLine(y)[x * 4 + 3];
}

} // namespace arttest
