# Stages the files of the portable program folder beside the executable.
# Runs after every build; a file the shop already has is never replaced.
file(MAKE_DIRECTORY "${STAGE_DIR}")
if(NOT EXISTS "${STAGE_DIR}/unins000.dll")
    file(COPY "${SOURCE_DIR}/resources/unins000.dll" DESTINATION "${STAGE_DIR}")
endif()
