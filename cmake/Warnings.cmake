# Warnings, sanitizers and the linker are set per target, never directory-wide.
include(CheckLinkerFlag)
# lld links a test executable in a third of the time the default linker takes, and there are
# some sixty executables in a build; the default linker does when lld is missing.
check_linker_flag(CXX -fuse-ld=lld QUORVEL_HAVE_LLD)

option(QUORVEL_LINE_TABLES "Debug information as line tables only (-g1): backtraces and \
sanitizer reports keep file and line, and a build takes a fifth less time" OFF)

function(quorvel_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local)
    # The sanitizer build always keeps line tables only: with -O1, the sanitizers' own advice,
    # half the compile time of -O2 with full debug information, once a CI run's longest step.
    if(QUORVEL_LINE_TABLES OR QUORVEL_SANITIZE)
        target_compile_options(${target} PRIVATE -g1)
    endif()
    if(QUORVEL_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
            -fno-omit-frame-pointer -O1
            # At -O1 with the sanitizers' checks GCC takes a disengaged std::optional for an
            # uninitialized one; the plain build keeps the warning with its full analysis.
            $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(QUORVEL_HAVE_LLD)
        target_link_options(${target} PRIVATE -fuse-ld=lld)
    endif()
endfunction()
