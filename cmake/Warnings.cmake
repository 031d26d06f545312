# Project-wide warning flags; the test script turns them into errors.
function(kvn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)
  if(KVN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Every layer includes its headers as "layer/File.h" from src/.
function(kvn_layer target)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  kvn_warnings(${target})
endfunction()
