# The development host moves real state: a render's saved state renders the
# same samples again (also at the start of a longer render), the state exports as a setup document, and the kit or
# pattern of a document file loads through the state.
# Arguments: -DHOST=<trommik2-host> -DWORK=<scratch folder>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(host expected)
  execute_process(COMMAND "${HOST}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected)
    message(FATAL_ERROR "trommik2-host ${ARGN}: exit ${code}, expected ${expected}\n${out}${err}")
  endif()
endfunction()

# The samples of a WAV file as hex text, after the data chunk's id and size:
# the headers carry a time stamp.
function(samples file out)
  file(READ "${WORK}/${file}" hex HEX)
  string(FIND "${hex}" "64617461" at)
  if(at LESS 0)
    message(FATAL_ERROR "${file} has no data chunk")
  endif()
  math(EXPR at "${at} + 16")
  string(SUBSTRING "${hex}" ${at} -1 data)
  set(${out} "${data}" PARENT_SCOPE)
endfunction()

function(expect_same_samples first second)
  samples(${first} a)
  samples(${second} b)
  if(NOT a STREQUAL b)
    message(FATAL_ERROR "${first} and ${second} hold different samples")
  endif()
endfunction()

host(0 render --seconds 4 --state-out a.t2s -o a.wav)
host(0 render --seconds 4 --state-in a.t2s -o b.wav)
expect_same_samples(a.wav b.wav)
# A longer render from the same state begins with the same samples, although
# 4 s end inside a 512-frame block.
host(0 render --state-in a.t2s -o long.wav)
samples(a.wav four)
samples(long.wav eight)
string(LENGTH "${four}" length)
string(SUBSTRING "${eight}" 0 ${length} start)
if(NOT start STREQUAL four)
  message(FATAL_ERROR "the first 4 s of an 8 s render differ from a 4 s render")
endif()
host(0 render --seconds 1 -o one.wav)

host(0 export --state-in a.t2s -o setup.tm2set)
file(READ "${WORK}/setup.tm2set" setup)
string(FIND "${setup}" "<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><setup " start)
if(NOT start EQUAL 0)
  message(FATAL_ERROR "the export is no setup document")
endif()

string(FIND "${setup}" "<pattern " from)
string(FIND "${setup}" "</pattern>" to)
math(EXPR length "${to} + 10 - ${from}")
string(SUBSTRING "${setup}" ${from} ${length} pattern)
set(envelope "<?xml version=\"1.0\" ?><preset owner=\"Trommik2\">")
file(WRITE "${WORK}/same.tm2pat" "${envelope}${pattern}</preset>")
host(0 render --seconds 1 --pattern same.tm2pat -o same.wav)
expect_same_samples(one.wav same.wav)
host(0 render --seconds 1 --kit setup.tm2set -o kit.wav)
expect_same_samples(one.wav kit.wav)

string(REGEX REPLACE "<velocity>[0-9A-F]+</velocity>" "<velocity></velocity>" silent "${pattern}")
file(WRITE "${WORK}/silent.tm2pat" "${envelope}${silent}</preset>")
host(0 render --seconds 1 --pattern silent.tm2pat --format pcm16 -o silent.wav)
samples(silent.wav quiet)
if(NOT quiet MATCHES "^0+$")
  message(FATAL_ERROR "a pattern without hits still sounds")
endif()

host(1 render --pattern a.wav -o never.wav)
host(1 render --kit missing.tm2drk -o never.wav)
host(2 render --pattern)
host(2 export)
host(1 export --state-in missing.t2s -o never.tm2set)
if(EXISTS "${WORK}/never.wav" OR EXISTS "${WORK}/never.tm2set")
  message(FATAL_ERROR "a failed command left a file behind")
endif()
file(REMOVE_RECURSE "${WORK}")
