// Native side of the wizard hook: no windows, so nothing to hook or show.
#include "xll/platform_wizard_hook.h"

CWizardHook::~CWizardHook() { Remove(); }
void CWizardHook::Install(uintptr_t thread) { CWizardHookState::Install(thread); }
void CWizardHook::Remove() { CWizardHookState::Remove(); }
void CWizardHook::RebuildControls() {}
