// The worksheet functions the add-in exports and registers.
#include "addin_function.h"
#include "functions/uniform.h"
#include "functions/version.h"

ZR_ADDIN_FUNCTION(ZrVersion, (), ())

ZR_ADDIN_FUNCTION(ZrRand, (int32_t size, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, algorithm, seed1, seed2))
