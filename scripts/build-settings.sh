# Sourced by the build scripts: how many jobs (NK_JOBS, else one per core),
# and ccache as the compiler launcher when it is there (paths under the
# checkout are hashed relative to it, so another clone reuses the cache).
nk_jobs="${NK_JOBS:-$(nproc)}"
nk_launcher=()
if command -v ccache >/dev/null 2>&1; then
  nk_launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CCACHE_BASEDIR="$(pwd)"
  export CCACHE_BASEDIR
fi
# Precompiled headers are cacheable only with these relaxations.
export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
