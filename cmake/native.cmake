# Native build: the logic against the in-memory fake, with the sanitizers.
set(SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(quillory_logic PUBLIC ${SANITIZERS})
target_link_options(quillory_logic PUBLIC ${SANITIZERS})
target_compile_options(skin_core PUBLIC ${SANITIZERS})
target_link_options(skin_core PUBLIC ${SANITIZERS})

file(GLOB FAKE_SOURCES CONFIGURE_DEPENDS src/platform/fake/*.cpp)
add_library(quillory_fake STATIC ${FAKE_SOURCES})
target_link_libraries(quillory_fake PUBLIC quillory_logic)

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_include_directories(unit_tests PRIVATE tests/unit)
target_link_libraries(unit_tests PRIVATE quillory_fake skin_core GTest::gmock GTest::gtest_main)
gtest_discover_tests(unit_tests)
