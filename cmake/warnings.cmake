# wavoro_target_defaults(target): the language level, warnings as errors and the
# code page of every text literal (GBK, code page 936) for one of our own targets.
# clang (the asan configuration) can only produce UTF-8 literals: code that is also built there
# spells its code page 936 texts as byte escapes ("\xb4\xb4\xbd\xa8" for 创建).
function(wavoro_target_defaults target)
    target_compile_features(${target} PRIVATE cxx_std_20)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX,C>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Werror>
        $<$<COMPILE_LANG_AND_ID:CXX,GNU>:-finput-charset=UTF-8 -fexec-charset=GBK>
        $<$<COMPILE_LANG_AND_ID:C,GNU>:-finput-charset=UTF-8 -fexec-charset=GBK>)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
