# orvo_layer(NAME DIR DEPS...): one static library per layer from the sources of DIR.
# A layer with no sources yet is an interface library, so the tree builds at every step.
function(orvo_layer name dir)
  file(GLOB _sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  orvo_library(${name} "${_sources}" ${ARGN})
endfunction()

# The library's own code sees include/ (the public headers) and src/; an installed library
# gives its users the public headers only.
set(_orvo_includes $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src> $<INSTALL_INTERFACE:include>)

function(orvo_library name sources)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${_orvo_includes})
    if(ARGN)
      target_link_libraries(${name} PUBLIC ${ARGN})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${_orvo_includes})
    if(ARGN)
      target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
  endif()
endfunction()

# orvo_test_area(NAME DIR LIBS...): one GoogleTest binary from DIR/*_test.cpp, registered
# with CTest test by test.
function(orvo_test_area name dir)
  file(GLOB _tests CONFIGURE_DEPENDS ${dir}/*_test.cpp)
  if(NOT _tests)
    return()
  endif()
  add_executable(${name} ${_tests})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
