// The COM side of the bridge to Excel's object model, one per platform: on
// Windows through COM Automation (IDispatch), elsewhere unavailable. The
// bridge (CXllCom) calls these on Excel's main thread only.
#pragma once

#include <string>

namespace Zr::Xll::PlatformCom {

// Whether this build can reach Excel's object model at all.
bool Available();

// Initialises COM for the calling thread and finds the Application object of
// the Excel instance that hosts this library: the one whose
// ExecuteExcel4Macro of CALL("<modulePath>","xlCheckInstance","j") reaches
// this library's xlCheckInstance (which calls MarkInstanceChecked). Throws
// CXlComException with the failing step's message.
void Connect(const std::u16string& modulePath);

// Sets the Application's property `property` (OnSheetActivate,
// OnSheetDeactivate, OnCalculate) to the macro name `macro`; returns the text
// it held before (empty when none). Throws CXlComException.
std::u16string AssignHandler(const std::u16string& property, const std::u16string& macro);

// Releases the Application object and uninitialises COM; safe to call when
// Connect failed or was never called.
void Disconnect();

// The instance flag that xlCheckInstance sets: cleared before each candidate
// is asked, read after its ExecuteExcel4Macro returns.
void ClearInstanceChecked();
void MarkInstanceChecked();
bool InstanceChecked();

}  // namespace Zr::Xll::PlatformCom
