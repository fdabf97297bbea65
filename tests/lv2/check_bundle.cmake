# The bundle as the LV2 tools see it: lv2ls lists the plug-in, lv2info
# describes it with its ports and presets, and sord_validate accepts every
# description against the schemas of the LV2 standard.
# -DBUNDLE=... -DURI=...
get_filename_component(parent ${BUNDLE} DIRECTORY)
set(ENV{LV2_PATH} "${parent}:/usr/lib/lv2")

function(expect_match text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: no match for ${pattern} in\n${text}")
  endif()
endfunction()

execute_process(COMMAND lv2ls OUTPUT_VARIABLE listed RESULT_VARIABLE result)
expect_match("${listed}" "${URI}\n" "lv2ls")

execute_process(COMMAND lv2info ${URI} OUTPUT_VARIABLE info ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
  message(FATAL_ERROR "lv2info failed (${result}):\n${errors}")
endif()
expect_match("${info}" "Class: +Instrument Plugin" "lv2info")
expect_match("${info}" "UIs:[ \t\n]+${URI}#ui" "lv2info")
expect_match("${info}" "Port 97:" "lv2info")
expect_match("${info}" "Symbol: +FXActive" "lv2info")
expect_match("${info}" "TechnoWarehouse" "lv2info")

# The LV2 standard's own bundles, not whatever else is installed.
set(schemas)
foreach(name atom buf-size core data-access dynmanifest event instance-access log midi morph options parameters
        patch port-groups port-props presets resize-port schemas state time ui units uri-map urid worker)
  file(GLOB files /usr/lib/lv2/${name}.lv2/*.ttl)
  list(APPEND schemas ${files})
endforeach()
file(GLOB ours ${BUNDLE}/*.ttl)
execute_process(COMMAND sord_validate ${schemas} ${ours} OUTPUT_VARIABLE out ERROR_VARIABLE errors
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR errors MATCHES "error")
  message(FATAL_ERROR "sord_validate (${result}):\n${out}${errors}")
endif()
