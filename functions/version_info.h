// The product's name, version and notices, defined once for the version
// text, the add-in's name, the Windows version resource, the build and the
// package. Plain macros only: the resource compiler reads this file too.
#pragma once

#define ZR_VERSION_MAJOR 3
#define ZR_VERSION_MINOR 3
#define ZR_VERSION_PATCH 0

#define ZR_STRINGIZE_(x) #x
#define ZR_STRINGIZE(x) ZR_STRINGIZE_(x)
#define ZR_VERSION_STRING \
    ZR_STRINGIZE(ZR_VERSION_MAJOR) "." ZR_STRINGIZE(ZR_VERSION_MINOR) "." ZR_STRINGIZE(ZR_VERSION_PATCH)

#define ZR_PRODUCT_NAME "ZrRand3"
#define ZR_DESCRIPTION ZR_PRODUCT_NAME " Monte Carlo Functions for Microsoft Excel"
#define ZR_RELEASE_DATE "September 25, 2012"
#define ZR_COPYRIGHT "Copyright (C) 2012 the " ZR_PRODUCT_NAME " authors."
