# Value controls: text fields, combo box, colour picker, file picker and dropped-URL repair.
corvane_add_test(tst_textfield SOURCES tst_textfield.cpp)
corvane_add_test(tst_combobox SOURCES tst_combobox.cpp)
corvane_add_test(tst_colorpicker SOURCES tst_colorpicker.cpp)
corvane_add_test(tst_filepicker SOURCES tst_filepicker.cpp)
