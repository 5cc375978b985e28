# SPDX-License-Identifier: GPL-3.0-or-later
# Shared build settings for every OvraTuner target.

# Warnings are errors in the developers' and CI's builds (the presets set
# OVRA_WERROR); a packager's plain build with another compiler or -O level
# must not fail on a new warning.
function(ovra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(OVRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # Every target gets its warnings here, so this is where its precompiled
  # headers are arranged too, once the folder has named its libraries.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL ovra_precompile [[${target}]])")
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

# ovra_link_closure(OUT targets...): every library `targets` link, directly
# or through another library, by name as it was given to the linker.
function(ovra_link_closure out)
  set(seen)
  set(pending ${ARGN})
  list(LENGTH pending left)
  while(left GREATER 0)
    list(POP_FRONT pending item)
    list(LENGTH pending left)
    if(item IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${item})
    if(NOT TARGET ${item})
      continue()
    endif()
    get_target_property(aliased ${item} ALIASED_TARGET)
    if(aliased)
      list(APPEND pending ${aliased})
      list(LENGTH pending left)
    endif()
    get_target_property(type ${item} TYPE)
    set(properties INTERFACE_LINK_LIBRARIES)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      list(APPEND properties LINK_LIBRARIES)
    endif()
    foreach(property IN LISTS properties)
      get_target_property(links ${item} ${property})
      if(NOT links)
        continue()
      endif()
      foreach(link IN LISTS links)
        # $<LINK_ONLY:x> around a name.
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
        list(APPEND pending ${link})
      endforeach()
      list(LENGTH pending left)
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# ovra_check_qt_free(target): the core that the browser build compiles must
# not reach Qt. Fails the configure step when `target`, or anything it
# links, is a Qt library.
function(ovra_check_qt_free target)
  ovra_link_closure(links ${target})
  foreach(link IN LISTS links)
    if(link MATCHES "^Qt[0-9]*::" OR link MATCHES "(^|/)libQt[0-9]")
      message(FATAL_ERROR "A Qt-free library links Qt: ${link} (reached from ${target})")
    endif()
  endforeach()
endfunction()

# ovra_precompile(target): the Qt and GoogleTest headers nearly every file of
# a target includes, parsed once per target instead of once per file (most
# of a Qt file's compile time). Called at the end of the target's folder,
# once its libraries are known; a target without Qt or GoogleTest is left
# alone.
function(ovra_precompile target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY" OR NOT OVRA_PRECOMPILE_HEADERS)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources count)
  if(count LESS 3)
    return() # making the header costs about what two files would save
  endif()
  ovra_link_closure(links ${target})
  set(headers)
  if("Qt6::Core" IN_LIST links)
    list(APPEND headers <QtCore/QObject> <QtCore/QString> <QtCore/QStringList> <QtCore/QTimer>
         <QtCore/QCoreApplication> <QtCore/QPointer> <QtCore/QDir> <QtCore/QFile>)
  endif()
  if("Qt6::Gui" IN_LIST links)
    list(APPEND headers <QtGui/QColor> <QtGui/QImage> <QtGui/QPixmap> <QtGui/QPainter>
         <QtGui/QGuiApplication>)
  endif()
  if("Qt6::Widgets" IN_LIST links)
    list(APPEND headers <QtWidgets/QWidget> <QtWidgets/QLabel> <QtWidgets/QGraphicsScene>
         <QtWidgets/QGraphicsView> <QtWidgets/QGraphicsObject> <QtWidgets/QApplication>)
  endif()
  if("GTest::gtest" IN_LIST links OR "GTest::GTest" IN_LIST links)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  if(headers)
    target_precompile_headers(${target} PRIVATE ${headers})
  endif()
endfunction()
