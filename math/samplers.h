// Every distribution sampler, for the worksheet functions that draw from them.
#pragma once

#include "math/random_beta.h"
#include "math/random_gamma.h"
#include "math/random_inversion.h"
#include "math/random_normal.h"
#include "math/random_poisson.h"
#include "math/random_student_t.h"
