corvane_add_test(tst_lineedit SOURCES tst_lineedit.cpp)
corvane_add_test(tst_inputlineslider SOURCES tst_inputlineslider.cpp)
corvane_add_test(tst_inputline SOURCES tst_inputline.cpp)
# Drag stepping where the pointer cannot be moved by the program (as on Wayland): the "minimal"
# platform cannot move it either. The command line's platform wins over QT_QPA_PLATFORM.
add_test(NAME tst_lineedit_nowarp
    COMMAND tst_lineedit -platform minimal pointer)
set_tests_properties(tst_lineedit_nowarp PROPERTIES ENVIRONMENT "${CORVANE_TEST_ENV}" TIMEOUT 300)
