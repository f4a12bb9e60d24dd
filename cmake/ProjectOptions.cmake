# Warnings and sanitizers live on INTERFACE targets that every target of ours links.

option(TERVALO_WARNINGS_AS_ERRORS "Treat compiler warnings as errors (developer build)" OFF)
set(TERVALO_SANITIZERS "" CACHE STRING "Comma-separated sanitizers, e.g. address,undefined")

add_library(tervalo_warnings INTERFACE)
target_compile_options(tervalo_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(TERVALO_WARNINGS_AS_ERRORS)
    target_compile_options(tervalo_warnings INTERFACE -Werror)
endif()

add_library(tervalo_sanitizers INTERFACE)
if(TERVALO_SANITIZERS)
    target_compile_options(tervalo_sanitizers INTERFACE
        -fsanitize=${TERVALO_SANITIZERS} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(tervalo_sanitizers INTERFACE -fsanitize=${TERVALO_SANITIZERS})
endif()

add_library(tervalo_options INTERFACE)
target_link_libraries(tervalo_options INTERFACE tervalo_warnings tervalo_sanitizers)
