// The worksheet functions the add-in exports and registers.
#include "addin_function.h"
#include "functions/version.h"

ZR_ADDIN_FUNCTION(ZrVersion, (), ())
