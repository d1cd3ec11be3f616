# GoogleTest built from Debian's sources (package googletest) with the current toolchain: the
# cross build has no GoogleTest library of its own to link. Defines GTestSources::gtest and
# GTestSources::gtest_main; with REQUIRED a missing source tree stops the configure step.
find_path(GTestSources_ROOT NAMES src/gtest-all.cc
          PATHS /usr/src/googletest/googletest NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(GTestSources REQUIRED_VARS GTestSources_ROOT)

if(GTestSources_FOUND AND NOT TARGET GTestSources::gtest)
  add_library(gtest_from_sources STATIC ${GTestSources_ROOT}/src/gtest-all.cc)
  target_include_directories(gtest_from_sources SYSTEM PUBLIC ${GTestSources_ROOT}/include)
  target_include_directories(gtest_from_sources PRIVATE ${GTestSources_ROOT})
  target_compile_options(gtest_from_sources PRIVATE -w)  # not our code
  add_library(gtest_main_from_sources STATIC ${GTestSources_ROOT}/src/gtest_main.cc)
  target_link_libraries(gtest_main_from_sources PUBLIC gtest_from_sources)
  target_compile_options(gtest_main_from_sources PRIVATE -w)
  add_library(GTestSources::gtest ALIAS gtest_from_sources)
  add_library(GTestSources::gtest_main ALIAS gtest_main_from_sources)
endif()
