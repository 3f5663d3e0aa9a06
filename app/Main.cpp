// Program entry: refusals first, then the single-instance guard, then the
// application with its forms and the message loop. Every path ends with
// exit code 0.

#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "app/SingleInstance.h"
#include "app/StartupChecks.h"
#include "framework/TApplication.h"
#include "framework/graphics/GraphicsError.h"
#include "framework/layout/LayoutError.h"
#include "framework/layout/LayoutReader.h"
#include "kelp/System/Language.h"
#include "kelp/System/MessageBox.h"
#include "kelp/vantor/PowerGear.h"
#include "screens/advancedsetting/AdvancedSettingsController.h"
#include "screens/blackscreen/TBlackScreen.h"
#include "screens/cpuform/TCpuForm.h"
#include "screens/dialogs/TCoverDialog.h"
#include "screens/dialogs/TProgressDialog.h"
#include "screens/dialogs/TUniversalDialog.h"
#include "screens/vgaform/TVgaForm.h"

#include <exception>

namespace {

constexpr const char* kMessageCaption = "Ordun";
constexpr const char* kApplicationTitle = "Ordun-6 Engine";

void Refuse(bool bootStart, const std::string& text)
{
    // At log-on nobody is there to read a refusal.
    if (!bootStart)
        kelp::ShowMessage(text.c_str(), kMessageCaption);
}

// True when the program must not start; the user has been told why unless
// it was started at log-on.
bool IsStartRefused(bool bootStart)
{
    if (IsXtuConflict()) {
        Refuse(bootStart, kelp::Translate("IXTUWarning"));
        return true;
    }
    if (bootStart) {
        if (!IsRunAtStartupAllowed())
            return true;
    } else if (IsInstallPending()) {
        Refuse(bootStart, "You must reboot the system before running this utility");
        return true;
    }
    if (IsRebootPending()) {
        Refuse(bootStart, kelp::Translate("NeedReboot"));
        return true;
    }
    return false;
}

// Artwork that is missing or unreadable means a damaged installation; the
// program stops before it has changed any setting.
void ReportDamagedInstallation(const std::string& file)
{
    const std::string text = "The file \"" + file + "\" is missing or cannot be read.\r\n"
                             "Please reinstall the program.";
    kelp::ShowMessage(text.c_str(), kMessageCaption);
}

// Every form of the program, in this order; the main window first, so that
// it is the application's main form.
void CreateForms()
{
    MainForm = Application().CreateForm<TMainForm>();
    CoverDialog = Application().CreateForm<TCoverDialog>();
    ProgressDialog = Application().CreateForm<TProgressDialog>();
    UniversalDialog = Application().CreateForm<TUniversalDialog>();
    AdvancedSetting = Application().CreateForm<TAdvancedSetting>();
    // The form's rows are the controller's, built with the form.
    AdvancedSettingsController::Instance();
    VgaForm = Application().CreateForm<TVgaForm>();
    CpuForm = Application().CreateForm<TCpuForm>();
    BlackScreen = Application().CreateForm<TBlackScreen>();
}

// Every way out of the program takes the main window's exit, once the
// window exists.
void ExitProgram()
{
    if (MainForm)
        MainForm->ExitProgram();
    else
        Application().Terminate();
}

// The cover copies the main window's outline, which exists once the main
// window has started up.
void PrepareCover()
{
    CoverDialog->Prepare(*MainForm, LayoutComponent<TImage>(*MainForm, "Background"));
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const bool bootStart = IsBootStart(ProgramArguments());
    if (IsStartRefused(bootStart))
        return 0;
    if (!ClaimSingleInstance())
        return 0;

    try {
        // The power-gear library is the one beside the executable.
        kelp::PowerGear::m_impIndex = 0;
        Application().Initialize();
        Application().SetTitle(kApplicationTitle);
        if (bootStart)
            Application().SetShowMainForm(false);
        // Pictures are read when first shown; one that fails then ends the
        // program as one that fails at start does.
        Application().OnPictureError = [](const EPictureError& error) {
            ReportDamagedInstallation(error.Path());
            ExitProgram();
        };
        Application().OnClose = [](TObject*) { ExitProgram(); };
        CreateForms();
        MainForm->StartUp(bootStart);
        PrepareCover();
        Application().Run();
    } catch (const ELayoutError& error) {
        if (error.File().empty())
            Application().HandleException(std::current_exception());
        else
            ReportDamagedInstallation(error.File());
    } catch (const EPictureError& error) {
        ReportDamagedInstallation(error.Path());
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
    return 0;
}
