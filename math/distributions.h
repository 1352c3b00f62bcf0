// Every distribution's density, distribution function, quantile, moments and
// fit, for the files that want them all; each family has its own header.
#pragma once

#include "math/beta.h"
#include "math/bivariate_normal.h"
#include "math/chi.h"
#include "math/chi_square.h"
#include "math/constants.h"
#include "math/f_distribution.h"
#include "math/gamma.h"
#include "math/gumbel.h"
#include "math/johnson_su.h"
#include "math/log_gamma.h"
#include "math/log_normal.h"
#include "math/logistic.h"
#include "math/moments.h"
#include "math/normal.h"
#include "math/poisson.h"
#include "math/student_t.h"
#include "math/triangular.h"
#include "math/truncated_normal.h"
#include "math/weibull.h"
