// Pulls the carried files into the program's read-only data with the assembler's .incbin.
// The build passes their paths (WAVORO_SKIN_ENGINE_FILE, WAVORO_SKIN_FILE, WAVORO_BANNER_FILE)
// and recompiles this file whenever one of them changes. A skin file that the build does not
// have yet is carried as an empty byte array.
#include "payloads/carried_files.h"

// name: a 32-bit count 1, the 32-bit length the assembler measures, the file's bytes.
#define WAVORO_BYTE_ARRAY(name, file)                                                              \
    ".globl " name "\n" name ":\n"                                                                 \
    "    .long 1\n"                                                                                \
    "    .long " name "_end - " name " - 8\n"                                                      \
    "    .incbin \"" file "\"\n" name "_end:\n"

#define WAVORO_EMPTY_BYTE_ARRAY(name)                                                              \
    ".globl " name "\n" name ":\n"                                                                 \
    "    .long 1\n"                                                                                \
    "    .long 0\n"

// name to name_end: the file's bytes.
#define WAVORO_BYTES(name, file)                                                                   \
    ".globl " name "\n.globl " name "_end\n" name ":\n"                                            \
    "    .incbin \"" file "\"\n" name "_end:\n"

#ifdef WAVORO_SKIN_ENGINE_FILE
#define WAVORO_SKIN_ENGINE WAVORO_BYTE_ARRAY("wavoro_carried_skin_engine", WAVORO_SKIN_ENGINE_FILE)
#else
#define WAVORO_SKIN_ENGINE WAVORO_EMPTY_BYTE_ARRAY("wavoro_carried_skin_engine")
#endif

#ifdef WAVORO_SKIN_FILE
#define WAVORO_SKIN WAVORO_BYTE_ARRAY("wavoro_carried_skin_file", WAVORO_SKIN_FILE)
#else
#define WAVORO_SKIN WAVORO_EMPTY_BYTE_ARRAY("wavoro_carried_skin_file")
#endif

#define WAVORO_BANNER WAVORO_BYTES("wavoro_carried_banner", WAVORO_BANNER_FILE)

// In the order the program stores them, in the read-only data.
__asm__(".section .rdata,\"dr\"\n" WAVORO_SKIN_ENGINE WAVORO_SKIN WAVORO_BANNER ".text\n");
