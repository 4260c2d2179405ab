# The Windows packages, made by cpack in the Windows build folder: an
# installer (NSIS, which Debian's nsis package runs on Linux) and a portable
# zip, each with the three programs and the README.
set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_FILE_NAME vcurve-${PROJECT_VERSION}-win64)
# The installer's name says what it is: vcurve-<version>-win64-setup.exe.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows-package-names.cmake)
set(CPACK_PACKAGE_INSTALL_DIRECTORY vcurve)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY vcurve)
set(CPACK_NSIS_DISPLAY_NAME "vcurve 竖曲线与纵断面")
set(CPACK_NSIS_PACKAGE_NAME "vcurve 竖曲线与纵断面 ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/profile/icons/vcurve-profile.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/ui/profile/icons/vcurve-profile.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME vcurve-profile.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES vcurve 竖曲线高程计算 vcurve-profile 纵断面设计)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer for 64-bit programs (it runs where they run, and
# installs into the 64-bit Program Files), and a Unicode one for the
# Chinese names; makensis makes a 32-bit ANSI one unless told.
set(CPACK_NSIS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/makensis-amd64.sh)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")

# Values reach the installer script as written here.
set(CPACK_VERBATIM_VARIABLES ON)

# Profile files (CSV, LandXML) are offered to the profile window under 打开方式
# without taking the extensions from the programs that own them; only when
# the user ticks the component.
if(VCURVE_BUILD_GUI)
  set(progid "Software\\Classes\\vcurve.profile")
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  SectionGetFlags \${associations} $0
  IntOp $0 $0 & \${SF_SELECTED}
  IntCmp $0 \${SF_SELECTED} 0 vcurve_associations_done vcurve_associations_done
  WriteRegStr SHCTX '${progid}' '' '纵断面（vcurve）'
  WriteRegStr SHCTX '${progid}\\DefaultIcon' '' '$INSTDIR\\vcurve-profile.ico'
  WriteRegStr SHCTX '${progid}\\shell\\open\\command' '' '\"$INSTDIR\\vcurve-profile.exe\" \"%1\"'
  WriteRegStr SHCTX 'Software\\Classes\\.csv\\OpenWithProgids' 'vcurve.profile' ''
  WriteRegStr SHCTX 'Software\\Classes\\.xml\\OpenWithProgids' 'vcurve.profile' ''
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  vcurve_associations_done:
")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey SHCTX '${progid}'
  DeleteRegValue SHCTX 'Software\\Classes\\.csv\\OpenWithProgids' 'vcurve.profile'
  DeleteRegValue SHCTX 'Software\\Classes\\.xml\\OpenWithProgids' 'vcurve.profile'
")
endif()

macro(vcurve_windows_components)
  cpack_add_component(programs DISPLAY_NAME "程序" REQUIRED
                      DESCRIPTION "竖曲线高程计算、纵断面设计和 vcurve-table")
  cpack_add_component(associations DISPLAY_NAME "文件关联" DISABLED
                      DESCRIPTION "在“打开方式”中为 CSV 和 LandXML 文件提供纵断面设计")
endmacro()
