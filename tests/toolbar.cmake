corvane_add_test(tst_toolbar SOURCES tst_toolbar.cpp)
