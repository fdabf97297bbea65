# The development host's content commands, end to end: a folder of WAV files
# becomes instruments and a drum kit in the content tree beside a module, and a
# render with that kit plays the samples.
# Arguments: -DHOST=<trommik2-host> -DMODULE=<Trommik2.syn> -DMMIO=<libmmio.so> -DWORK=<scratch folder>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/mod/Trommik2/config" "${WORK}/src/Kit")
file(COPY "${MODULE}" "${MMIO}" DESTINATION "${WORK}/mod")
set(module "${WORK}/mod/Trommik2.syn")
set(content "${WORK}/mod/Trommik2")

# Heard only through its sample: no synthesis, the mix all on the sample side.
file(WRITE "${content}/config/AutoImportTemplate.tm2ins"
     "<?xml version=\"1.0\" ?>\n<preset owner=\"Trommik2\">\n<instrument version=\"1.000000\" name=\"Import\">\n"
     "<params><param id=\"GenSynthesisType\" value=\"3.000000\" />"
     "<param id=\"GenMixSynthesisWav\" value=\"1.000000\" /><param id=\"GenWavLevel\" value=\"1.000000\" />"
     "</params>\n<sample name=\"\" />\n"
     "</instrument>\n</preset>\n")

function(host expected)
  execute_process(COMMAND "${HOST}" --module "${module}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected)
    message(FATAL_ERROR "trommik2-host ${ARGN}: exit ${code}, expected ${expected}\n${out}${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_file path)
  if(NOT EXISTS "${content}/${path}")
    message(FATAL_ERROR "missing ${path}")
  endif()
endfunction()

function(expect_in text wanted)
  string(FIND "${text}" "${wanted}" at)
  if(at LESS 0)
    message(FATAL_ERROR "'${wanted}' not found in:\n${text}")
  endif()
endfunction()

# Whether a 16-bit WAV file holds any sample other than zero.
function(audible file out)
  file(READ "${WORK}/${file}" hex HEX)
  string(FIND "${hex}" "64617461" at)
  math(EXPR at "${at} + 16")
  string(SUBSTRING "${hex}" ${at} -1 data)
  if(data MATCHES "^0+$")
    set(${out} FALSE PARENT_SCOPE)
  else()
    set(${out} TRUE PARENT_SCOPE)
  endif()
endfunction()

# Two samples, so the factory pattern's track (the second) gets one.
host(0 render --seconds 0.3 --format pcm16 -o src/Kit/a.wav)
host(0 render --seconds 0.2 --format pcm16 -o src/Kit/B.WAV)
file(WRITE "${WORK}/src/Kit/notes.txt" "not a sample")

host(0 import src/Kit)
foreach(path Samples/Kit/a.wav Samples/Kit/B.WAV Instruments/Kit/a.tm2ins Instruments/Kit/B.tm2ins Drumkits/Kit.tm2drk)
  expect_file(${path})
endforeach()
file(READ "${content}/Drumkits/Kit.tm2drk" kit)
expect_in("${kit}" "<sample name=\"Kit\\B.wav\" />")

host(0 render --seconds 1 --format pcm16 --kit Kit -o with-samples.wav)
audible(with-samples.wav heard)
if(NOT heard)
  message(FATAL_ERROR "the imported kit is silent")
endif()
file(RENAME "${content}/Samples/Kit" "${WORK}/away")
host(0 render --seconds 1 --format pcm16 --kit Kit -o without-samples.wav)
audible(without-samples.wav heard)
if(heard)
  message(FATAL_ERROR "the kit sounds without its samples: the samples were not what played")
endif()
file(RENAME "${WORK}/away" "${content}/Samples/Kit")

host(0 import src/Kit)
expect_in("${output}" "kept")
host(0 import src/Kit --overwrite --into Sub/Two)
expect_file(Drumkits/Sub/Two.tm2drk)
expect_file(Instruments/Sub/Two/a.tm2ins)
host(0 list drumkits)
expect_in("${output}" "  Sub/\n    Two.tm2drk\n  Kit.tm2drk\n")

host(0 export -o setup.tm2set)
file(MAKE_DIRECTORY "${content}/Setups/House")
file(RENAME "${WORK}/setup.tm2set" "${content}/Setups/House/Deep.tm2set")
host(0 render --seconds 0.1 --setup House\\Deep -o named.wav)
host(1 render --seconds 0.1 --setup House\\Missing -o never.wav)

host(2 import)
host(2 import src/Kit --bogus)
host(2 import src/Kit --into /elsewhere)
host(1 import src/Missing)
host(1 import mod/Trommik2/config)
host(2 list)
host(2 list nonsense)
if(EXISTS "${WORK}/never.wav")
  message(FATAL_ERROR "a failed command left a file behind")
endif()
file(REMOVE_RECURSE "${WORK}")
