# The product's folders depend on each other in one direction only:
#
#   panel/win32 -> panel <- plugin -> geometry,   plugin/win32 -> plugin
#
# so the geometry includes nothing of the panel or the plug-in, and the panel nothing
# of the plug-in. Run by the build (cmake -P, with SOURCE_DIR and STAMP set); fails,
# naming each file and include, when a file breaks the rule.
set(rules
  "geometry:panel|plugin"
  "panel:plugin")
set(broken "")
foreach(rule IN LISTS rules)
  string(REPLACE ":" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(GET parts 1 forbidden)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${forbidden})/")
    foreach(line IN LISTS includes)
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
      string(STRIP "${line}" line)
      string(APPEND broken "\n  ${name}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(broken)
  message(FATAL_ERROR "geometry/ may include nothing of panel/ or plugin/, and panel/ "
                      "nothing of plugin/; these do:${broken}")
endif()
file(TOUCH "${STAMP}")
