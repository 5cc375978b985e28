# The tuner screen and its tuning keys, built from the application's own
# layout and driven through a real view, a real capture object and mouse
# presses.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)

ovra_test(tuner_mainview_tests
  SOURCES MainViewConstructionTest.cpp MainViewDisplayTest.cpp MainViewCaptureTest.cpp
          TuningKeyTest.cpp
  LIBS ovra_tuner ovra_test_support Qt6::Test
  LABELS tuner)
target_include_directories(tuner_mainview_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
