# One static library per layer (src/<layer>/*.cpp) and one test program per
# layer (tests/<layer>/*.cpp). Files are globbed so that adding a source file
# needs no build edit; CONFIGURE_DEPENDS re-runs the glob on every build.

# Warnings are errors only where asked (scripts/test.sh and CI turn it on), so a
# plain build with another compiler or optimisation level never breaks on a new
# diagnostic.
set(QUINTARA_WARNINGS -Wall -Wextra)
if(QUINTARA_WERROR)
  list(APPEND QUINTARA_WARNINGS -Werror)
endif()

function(quintara_layer name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  if(NOT sources)
    # A layer with no sources yet still exists as a target so dependents link.
    add_library(quintara_${name} INTERFACE)
    target_include_directories(quintara_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    set(deps)
    foreach(dep IN LISTS ARGN)
      if(dep MATCHES "::")
        list(APPEND deps ${dep})
      else()
        list(APPEND deps quintara_${dep})
      endif()
    endforeach()
    target_link_libraries(quintara_${name} INTERFACE ${deps})
    return()
  endif()
  add_library(quintara_${name} STATIC ${sources})
  target_include_directories(quintara_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(quintara_${name} PRIVATE ${QUINTARA_WARNINGS})
  foreach(dep IN LISTS ARGN)
    if(dep MATCHES "::")
      target_link_libraries(quintara_${name} PUBLIC ${dep})
    else()
      target_link_libraries(quintara_${name} PUBLIC quintara_${dep})
    endif()
  endforeach()
endfunction()

function(quintara_tests name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_compile_options(test_${name} PRIVATE ${QUINTARA_WARNINGS})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(TARGET quintara_${name})
    target_link_libraries(test_${name} PRIVATE quintara_${name})
  endif()
  target_link_libraries(test_${name} PRIVATE GTest::gtest GTest::gtest_main ${ARGN})
  target_compile_definitions(test_${name} PRIVATE
    QUINTARA_SHARED_DIR="${QUINTARA_SHARED_DIR}"
    QUINTARA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUINTARA_CLI="$<TARGET_FILE:quintara-cli>")
  add_dependencies(test_${name} quintara-cli)
  gtest_discover_tests(test_${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
