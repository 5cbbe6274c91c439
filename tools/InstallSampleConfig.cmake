# Puts the sample configuration into the run folder without ever overwriting a
# zot.cfg that someone has edited there. RECORD keeps a copy of the sample as last
# installed: the run folder's zot.cfg is replaced by a newer sample only while it
# is still that copy, and is written afresh when it is missing.
#   cmake -DSAMPLE=<sample> -DTARGET=<run folder>/zot.cfg -DRECORD=<copy> -P InstallSampleConfig.cmake
foreach(variable SAMPLE TARGET RECORD)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "InstallSampleConfig.cmake needs -D${variable}=...")
  endif()
endforeach()

file(SHA256 "${SAMPLE}" sample)
set(install TRUE)
if(EXISTS "${TARGET}")
  file(SHA256 "${TARGET}" current)
  set(installed "")
  if(EXISTS "${RECORD}")
    file(SHA256 "${RECORD}" installed)
  endif()
  if(current STREQUAL sample)
    set(install FALSE)
  elseif(NOT current STREQUAL installed)
    message(STATUS "Keeping the edited ${TARGET}; the current sample is ${SAMPLE}")
    return()
  endif()
endif()
if(install)
  file(COPY_FILE "${SAMPLE}" "${TARGET}")
endif()
file(COPY_FILE "${SAMPLE}" "${RECORD}" ONLY_IF_DIFFERENT)
