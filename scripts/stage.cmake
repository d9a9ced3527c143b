# Stages the files of the portable program folder beside the executable.
# Runs after every build. The first-access password store is staged under its
# shipped name only: the program copies it into place at start when the folder
# has no store, so a password the shop changed is never replaced, here or when
# a package is unpacked over an installation.
file(MAKE_DIRECTORY "${STAGE_DIR}")
file(COPY_FILE "${SOURCE_DIR}/resources/unins000.dll" "${STAGE_DIR}/unins000.dll.dist"
     ONLY_IF_DIFFERENT)
