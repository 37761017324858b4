# Compiles one help folder: copies its sources into a work folder (the
# generator writes the .qch beside its project), runs qhelpgenerator on the
# collection project and puts the collection and its .qch side by side in
# the output folder; the collection names its .qch without a folder.

file(REMOVE_RECURSE "${WORK}")
file(COPY "${SOURCE}/" DESTINATION "${WORK}")
execute_process(
    COMMAND "${GENERATOR}" "${PROJECT}" -o "${COLLECTION}"
    WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE log
    ERROR_VARIABLE log)
if(NOT result EQUAL 0 OR NOT EXISTS "${WORK}/${COLLECTION}")
    message(FATAL_ERROR "qhelpgenerator failed on ${SOURCE}/${PROJECT}:\n${log}")
endif()
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
file(GLOB old "${OUTPUT_DIR}/*.qch")
if(old)
    file(REMOVE ${old})
endif()
file(GLOB compiled "${WORK}/*.qch")
file(COPY "${WORK}/${COLLECTION}" ${compiled} DESTINATION "${OUTPUT_DIR}")
