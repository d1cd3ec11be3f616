# Debian's header-only libraries (CLI11, nlohmann-json, and xxHash used whole from its header)
# live in /usr/include, which the native compiler searches anyway. The cross compiler must not see
# the rest of /usr/include (glibc's headers would shadow its own), so the cross build gets a
# folder holding only links to these libraries' header folders and files.
set(RIMTRACE_DEBIAN_HEADER_DIRS CLI nlohmann xxhash.h)
set(linked_headers ${CMAKE_BINARY_DIR}/debian-headers)

add_library(debian_headers INTERFACE)
foreach(dir IN LISTS RIMTRACE_DEBIAN_HEADER_DIRS)
  if(NOT EXISTS /usr/include/${dir})
    message(FATAL_ERROR "/usr/include/${dir} is missing: run scripts/deps.sh")
  endif()
  if(CMAKE_CROSSCOMPILING)
    file(MAKE_DIRECTORY ${linked_headers})
    file(CREATE_LINK /usr/include/${dir} ${linked_headers}/${dir} SYMBOLIC)
  endif()
endforeach()
if(CMAKE_CROSSCOMPILING)
  target_include_directories(debian_headers SYSTEM INTERFACE ${linked_headers})
endif()
