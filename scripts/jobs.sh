# How many jobs a build or a test run starts at once: JOBS, else CMAKE_BUILD_PARALLEL_LEVEL,
# else one per core. Sourced by the scripts that build and test.
jobs="${JOBS:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}"
