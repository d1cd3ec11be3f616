# One version number, the project's: rimtrace_version.h carries it to C++ (rimtrace-report
# --version) and to the programs' version resources; the kits and the changelog name it too.
configure_file(${PROJECT_SOURCE_DIR}/res/version.h.in
               ${PROJECT_BINARY_DIR}/generated/version/rimtrace_version.h @ONLY)
add_library(rimtrace_version INTERFACE)
target_include_directories(rimtrace_version INTERFACE ${PROJECT_BINARY_DIR}/generated/version)

if(WIN32)
  # Both programs carry a version resource, so the resource compiler serves the whole tree.
  enable_language(RC)

  # Gives the program `target` a version resource (file properties: version, product, company,
  # description, original file name) from the project's version.
  function(rimtrace_version_resource target description)
    set(RIMTRACE_VERSION_NAME ${target})
    set(RIMTRACE_VERSION_FILE ${target}${CMAKE_EXECUTABLE_SUFFIX})
    set(RIMTRACE_VERSION_DESCRIPTION "${description}")
    set(rc ${PROJECT_BINARY_DIR}/generated/version/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/res/version_info.rc.in ${rc} @ONLY)
    # windres takes none of the compiler's warning options, so the resource builds on its own.
    add_library(${target}_version_resource OBJECT ${rc})
    set_property(TARGET ${target}_version_resource PROPERTY COMPILE_OPTIONS "")
    target_link_libraries(${target}_version_resource PRIVATE rimtrace_version)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:${target}_version_resource>)
  endfunction()
endif()
