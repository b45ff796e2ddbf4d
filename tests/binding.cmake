corvane_add_test(tst_binding SOURCES tst_binding.cpp)
