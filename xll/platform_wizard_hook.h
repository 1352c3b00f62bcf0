// The window hook that shows the argument lists in Excel's Function Arguments
// dialog. Windows side (platform_wizard_hook_win.cpp): a WH_CALLWNDPROCRET
// hook recognises the dialog and places a drop-down button at the right end
// of every row whose argument has a list; a WH_KEYBOARD hook opens the list
// with the registry's key and moves through it. Natively there are no windows:
// only the state is installed and no list is ever shown.
#pragma once

#include "xll/wizard_lists.h"

class CWizardHook : public CWizardHookState {
public:
    ~CWizardHook() override;
    // On Excel's main thread: hooks `thread`'s window messages and keys;
    // raises when already installed or when Windows refuses a hook.
    void Install(uintptr_t thread);
    // Unhooks and destroys the buttons and the list.
    void Remove();

protected:
    void RebuildControls() override;
};
