# The test build runs everything under AddressSanitizer and UndefinedBehaviorSanitizer;
# any finding stops the test with an error.
if(KVOTLK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
