#include "tests/energy/EnergyRig.h"

#include "framework/layout/LayoutReader.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/System/WinRegistry.h"
#include "screens/energy/ResetTimes.h"
#include "tests/support/MainLayoutForm.h"

#include <gtest/gtest.h>

#include <cstring>

namespace energytest {

namespace {

std::unique_ptr<TForm> PlainCpuForm()
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 373, 219);
    for (const char* name : {"CpuPowerTitle", "CpuEnergySavingTitle"}) {
        auto* title = new TLabel(form.get());
        title->SetName(name);
        title->SetParent(form.get());
    }
    return form;
}

TControl* StandIn(TForm& form, int left, int top)
{
    auto* image = new VtImage(&form);
    image->SetParent(&form);
    image->SetBounds(left, top, 20, 20);
    return image;
}

} // namespace

std::string ArtFolder()
{
    return ExecutableFolder() + "Resource\\";
}

Rig::Rig(bool boostPresent) : main_(testsupport::LoadMainLayout()), cpu_(PlainCpuForm())
{
    host.boostPresent = boostPresent;
    marker = StandIn(*main_, 100, 331);
    chart = StandIn(*main_, 439, 345);
    display_ = std::make_unique<energy::EnergyDisplay>(*main_, *cpu_, host, ArtFolder(),
                                                       std::vector<TControl*>{marker, chart});
    display_->Attach();
}

Rig::~Rig()
{
    display_.reset();
    cpu_->Hide();
    main_->Hide();
}

void Rig::ShowBoth()
{
    main_->Show();
    cpu_->Show();
}

template <typename T>
T& Rig::Part(const char* name)
{
    return LayoutComponent<T>(*main_, name);
}

template TImage& Rig::Part<TImage>(const char*);
template TLabel& Rig::Part<TLabel>(const char*);
template VtButton& Rig::Part<VtButton>(const char*);
template VtButtonTx& Rig::Part<VtButtonTx>(const char*);
template VtCheckBox& Rig::Part<VtCheckBox>(const char*);
template VtBar& Rig::Part<VtBar>(const char*);
template TControl& Rig::Part<TControl>(const char*);

bool SamePicture(TBitmap& a, const TBitmap& b)
{
    TBitmap copy;
    copy.Assign(b);
    if (a.Width() != copy.Width() || a.Height() != copy.Height() || a.PixelFormat() != copy.PixelFormat())
        return false;
    const size_t row = size_t(a.Width()) * (a.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3);
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), copy.ScanLine(y), row) != 0)
            return false;
    return true;
}

std::vector<int> ShownGlyphs(const energy::DigitRow& row)
{
    const energy::DigitGlyphs& glyphs = energy::SharedDigitGlyphs(ArtFolder());
    std::vector<int> shown;
    for (VtImage* image : row.Images()) {
        int found = -1;
        for (int i = 0; i < energy::kGlyphCount && found < 0; ++i)
            if (SamePicture(image->Picture(), glyphs.Glyph(i)))
                found = i;
        shown.push_back(found);
    }
    return shown;
}

std::string ShownText(const energy::DigitRow& row)
{
    std::string text;
    for (int glyph : ShownGlyphs(row)) {
        if (glyph >= 0 && glyph <= 9)
            text += char('0' + glyph);
        else if (glyph == energy::kValuePoint || glyph == energy::kBuildPoint)
            text += '.';
        else if (glyph == energy::kBlank)
            text += ' ';
        else
            text += '?';
    }
    return text;
}

std::optional<FILETIME> StoredTime(const char* name)
{
    kelp::RegistryKeyReader key;
    FILETIME time{};
    DWORD size = sizeof time;
    if (!key.Open(HKEY_LOCAL_MACHINE, energy::kResetTimeKey) || !key.ReadBinary(name, &time, size) ||
        size != sizeof time)
        return std::nullopt;
    return time;
}

void StoreTime(const char* name, const FILETIME& time)
{
    kelp::RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, energy::kResetTimeKey, true) && key.WriteBinary(name, &time, sizeof time));
}

void DeleteTimes()
{
    kelp::RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, energy::kResetTimeKey, true)) {
        key.DeleteValue(energy::kResetTime);
        key.DeleteValue(energy::kTotalResetTime);
    }
}

bool IsAboutNow(const FILETIME& time)
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    FILETIME now{};
    SystemTimeToFileTime(&local, &now);
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    const ULONGLONG a = ticks(time), b = ticks(now);
    const ULONGLONG minute = 60ULL * 10000000ULL;
    return (a > b ? a - b : b - a) < minute;
}

} // namespace energytest
