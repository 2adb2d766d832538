# Stands in for a test whose tool was not found when the build was configured:
# it fails and names the package to install.
#
#   cmake -DTOOL=<program> -DPACKAGE=<Debian package> -P missing-tool.cmake
message(FATAL_ERROR "${TOOL} was not found when the build was configured: install ${PACKAGE} "
                    "(tools/install-deps.sh does) and configure the build again")
