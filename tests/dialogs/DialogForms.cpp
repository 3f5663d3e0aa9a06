#include "tests/dialogs/DialogForms.h"

#include "framework/TApplication.h"
#include "framework/TTimer.h"

namespace dialogtest {

Forms& TheForms()
{
    static Forms forms = [] {
        Forms created{};
        created.main = Application().CreateForm<TForm>();
        created.cover = Application().CreateForm<TCoverDialog>();
        created.progress = Application().CreateForm<TProgressDialog>();
        created.message = Application().CreateForm<TUniversalDialog>();
        created.blackScreen = Application().CreateForm<TBlackScreen>();
        return created;
    }();
    return forms;
}

void Later(std::function<void()> action)
{
    // A one-shot timer, owned by the main form like every component there.
    auto* timer = new TTimer(TheForms().main);
    timer->SetInterval(20);
    timer->OnTimer = [timer, action = std::move(action)](TObject*) {
        timer->SetEnabled(false);
        action();
    };
    timer->SetEnabled(true);
}

} // namespace dialogtest
