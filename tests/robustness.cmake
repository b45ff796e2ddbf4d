# Seeded randomized tests; CORVANE_TEST_SEED replays any other seed than the fixed default.
corvane_add_test(tst_random_sheets SOURCES tst_random_sheets.cpp)
corvane_add_test(tst_random_collectionview SOURCES tst_random_collectionview.cpp)
