# Sourced by the build scripts: how many jobs (NK_JOBS, else one per core),
# ccache as the compiler launcher when it is there (paths under the checkout
# are hashed relative to it, so another clone reuses the cache), and lld as
# the linker when it is there (the test builds link a hundred programs).
nk_jobs="${NK_JOBS:-$(nproc)}"
nk_launcher=()
if command -v ccache >/dev/null 2>&1; then
  nk_launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CCACHE_BASEDIR="$(pwd)"
  export CCACHE_BASEDIR
  # The compiler's own dependency list instead of a second preprocessor run
  # per file: a cold cache (every CI run) then costs almost nothing.
  export CCACHE_DEPEND=1
fi
if command -v ld.lld >/dev/null 2>&1; then
  nk_launcher+=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld)
fi
export CCACHE_SLOPPINESS="time_macros,include_file_mtime,include_file_ctime"
# The test builds: line tables are all a checker's report needs, and full
# debug information makes every compile and link of them slower.
nk_test_settings=(-DCMAKE_BUILD_TYPE=Debug -DNK_BUILD_TESTS=ON -DCMAKE_CXX_FLAGS_DEBUG=-g1)

# Prints how long the step since the last call took, for the CI log.
nk_phase_start=$SECONDS
nk_phase() {
  echo "== $1: $((SECONDS - nk_phase_start)) s"
  nk_phase_start=$SECONDS
}
