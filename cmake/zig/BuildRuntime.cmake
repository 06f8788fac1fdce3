# Builds the C++ runtime of one macOS slice with Zig: libc++, libc++abi and compiler-rt, which
# Zig compiles from the sources it ships when it links C++ code for a target. Zig links a small
# library for the slice with a cache of this step's own, where it leaves the three archives;
# they are copied to OUT for ld64.lld. Optimised as a release build (-O2: Zig's ReleaseFast).
# Run with -DZIG= -DTARGET= -DCACHE= -DOUT=.
file(MAKE_DIRECTORY "${CACHE}" "${OUT}")
file(WRITE "${CACHE}/runtime.cpp" "#include <string>\nstd::string orbx_runtime() { return {}; }\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env "ZIG_GLOBAL_CACHE_DIR=${CACHE}/global"
          "ZIG_LOCAL_CACHE_DIR=${CACHE}/local"
          "${ZIG}" c++ -target ${TARGET} -O2 -shared "${CACHE}/runtime.cpp" -o "${CACHE}/runtime.dylib"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zig could not build the C++ runtime for ${TARGET}")
endif()
foreach(archive libc++.a libc++abi.a libcompiler_rt.a)
  file(GLOB found "${CACHE}/global/o/*/${archive}")
  list(LENGTH found count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one ${archive} in Zig's cache ${CACHE}, found ${count}")
  endif()
  file(COPY_FILE "${found}" "${OUT}/${archive}" ONLY_IF_DIFFERENT)
endforeach()
