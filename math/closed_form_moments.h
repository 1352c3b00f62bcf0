// The families whose moments are closed forms, for the files that want them
// all; each family declares its moments in its own header. This header has
// always brought distributions.h along, and still does.
#pragma once

#include "math/beta.h"
#include "math/chi_square.h"
#include "math/distributions.h"
#include "math/f_distribution.h"
#include "math/gamma.h"
#include "math/gumbel.h"
#include "math/log_normal.h"
#include "math/logistic.h"
#include "math/poisson.h"
#include "math/student_t.h"
#include "math/triangular.h"
