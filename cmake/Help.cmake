# ZrRand3.chm beside the add-in: the checked-in help project (docs/help,
# written by scripts/check_reference.sh) compiled with Free Pascal's CHM
# library (scripts/hhp_compile.pas; Debian's fp-compiler and fp-units-misc).
find_program(ZR_FPC fpc REQUIRED)
set(ZR_HELP_DIR ${PROJECT_SOURCE_DIR}/docs/help)
set(ZR_HELP_COMPILER ${CMAKE_BINARY_DIR}/hhp_compile/hhp_compile)
file(GLOB ZR_HELP_PAGES CONFIGURE_DEPENDS ${ZR_HELP_DIR}/*)
add_custom_command(OUTPUT ${ZR_HELP_COMPILER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/hhp_compile
  COMMAND ${ZR_FPC} -v0 -l- -FE${CMAKE_BINARY_DIR}/hhp_compile ${PROJECT_SOURCE_DIR}/scripts/hhp_compile.pas
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/hhp_compile.pas
  COMMENT "Building the help compiler")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/ZrRand3.chm
  COMMAND ${ZR_HELP_COMPILER} ${ZR_HELP_DIR}/ZrRand3.hhp ${CMAKE_BINARY_DIR}/bin/ZrRand3.chm
  DEPENDS ${ZR_HELP_COMPILER} ${ZR_HELP_PAGES}
  COMMENT "Compiling ZrRand3.chm")
add_custom_target(ZrRand3Help ALL DEPENDS ${CMAKE_BINARY_DIR}/bin/ZrRand3.chm)
