# Shared build settings for every OvraTuner target.

# Warnings are errors in the developers' and CI's builds (the presets set
# OVRA_WERROR); a packager's plain build with another compiler or -O level
# must not fail on a new warning.
function(ovra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(OVRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# The engine's float/double arithmetic must happen in the order written:
# no fused multiply-add contraction, no fast-math, no -march=native.
function(ovra_strict_fp target)
  target_compile_options(${target} PRIVATE -ffp-contract=off -fno-fast-math)
endfunction()

macro(ovra_setup_sanitizers)
  if(OVRA_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  elseif(OVRA_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
  elseif(NOT OVRA_SANITIZE STREQUAL "")
    message(FATAL_ERROR "OVRA_SANITIZE must be empty, 'address' or 'thread'")
  endif()
endmacro()

# ovra_test(NAME SOURCES sources... LIBS libs... [LABELS labels...] [ENV var=value]
#           [RESOURCE_LOCK name])
# One GoogleTest executable registered with CTest, test by test. Every test
# carries the name of its folder under tests/ as a label (so `ctest -L engine`
# runs the engine's tests); LABELS adds more.
function(ovra_test name)
  cmake_parse_arguments(ARG "" "RESOURCE_LOCK" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  ovra_warnings(${name})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(labels ${folder} ${ARG_LABELS})
  list(REMOVE_DUPLICATES labels)
  set(extra_properties)
  if(ARG_RESOURCE_LOCK)
    set(extra_properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${labels}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENV}"
               ${extra_properties})
endfunction()

# ovra_check_qt_free(targets...): the core that the browser build compiles
# must not reach Qt. Fails the configure step when any of `targets`, or
# anything they link, directly or through another library, is a Qt target.
function(ovra_check_qt_free)
  set(seen)
  set(pending ${ARGN})
  while(pending)
    list(POP_FRONT pending item)
    if(item IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${item})
    if(item MATCHES "^Qt[0-9]*::" OR item MATCHES "(^|/)libQt[0-9]")
      message(FATAL_ERROR "A Qt-free library links Qt: ${item} (reached from ${ARGN})")
    endif()
    if(TARGET ${item})
      get_target_property(aliased ${item} ALIASED_TARGET)
      if(aliased)
        list(APPEND pending ${aliased})
      endif()
      get_target_property(type ${item} TYPE)
      foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        if(type STREQUAL "INTERFACE_LIBRARY" AND property STREQUAL "LINK_LIBRARIES")
          continue()
        endif()
        get_target_property(links ${item} ${property})
        if(links)
          foreach(link IN LISTS links)
            # $<LINK_ONLY:x> and other wrappers around a name.
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            list(APPEND pending ${link})
          endforeach()
        endif()
      endforeach()
    endif()
  endwhile()
endfunction()
