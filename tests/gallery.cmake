# The gallery renders every page offscreen; the test checks the pictures. Only where the gallery
# itself is built.
if(CORVANE_BUILD_EXAMPLES)
    add_executable(tst_gallery tst_gallery.cpp)
    target_link_libraries(tst_gallery PRIVATE Qt::Gui Qt::Test)
    # The gallery target is defined after this directory; generator expressions resolve later.
    target_compile_definitions(tst_gallery PRIVATE
        CORVANE_GALLERY_EXE="$<TARGET_FILE:corvane-gallery>")
    add_dependencies(tst_gallery corvane-gallery)
    add_test(NAME tst_gallery COMMAND tst_gallery)
    set_tests_properties(tst_gallery PROPERTIES ENVIRONMENT "${CORVANE_TEST_ENV}" TIMEOUT 300)
endif()
