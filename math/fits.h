// Every fit of distribution parameters to requested moments, for the files
// that want them all; each family declares its fit in its own header. Each
// fit returns true and writes the parameters on success; on failure it
// returns false and leaves them untouched. Beta, Gumbel, logistic and
// log-normal have closed forms; Weibull, triangular, truncated normal and
// Johnson SU are solved by NewtonRaphson (at most 200 iterations, tolF 1e-14,
// tolX 1e-10, 1e-7 for Johnson SU). None throws.
#pragma once

#include "math/beta.h"
#include "math/gumbel.h"
#include "math/johnson_su.h"
#include "math/log_normal.h"
#include "math/logistic.h"
#include "math/triangular.h"
#include "math/truncated_normal.h"
#include "math/weibull.h"
