# Settings shared by every target.
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# GCC 12 reports false overlaps inside std::basic_string.
add_compile_options($<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CXX_COMPILER_ID:GNU>>:-Wno-restrict>)

if(WIN32)
  # Everything static: the add-in must import only system DLLs and XLCALL32.DLL.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Lets a hardware fault inside a worksheet body unwind as a C++ exception.
  add_compile_options(-fnon-call-exceptions)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601)
endif()

if(ZR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(ZR_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
if(ZR_FUZZ)
  # Coverage for libFuzzer everywhere; the fuzz targets link -fsanitize=fuzzer.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Boost.Math is header-only. The cross compiler must not see the rest of
# /usr/include, so it gets a folder holding just a link to Boost.
set(ZR_BOOST_INCLUDE ${CMAKE_BINARY_DIR}/boost-include)
file(MAKE_DIRECTORY ${ZR_BOOST_INCLUDE})
if(NOT EXISTS ${ZR_BOOST_INCLUDE}/boost)
  file(CREATE_LINK /usr/include/boost ${ZR_BOOST_INCLUDE}/boost SYMBOLIC)
endif()

# GoogleTest from Debian's sources, built with this build's compiler.
set(ZR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")

# The side of each operating-system source that this build compiles
# (xll/platform*_win.cpp or _posix.cpp, host/host_platform_*.cpp).
if(WIN32)
  set(ZR_OS win)
else()
  set(ZR_OS posix)
endif()
