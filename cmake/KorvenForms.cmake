# korven_add_forms(<target> <files...>)
#
# Compiles form descriptions (*.kfd) and pictures (*.bmp) into the resources
# of <target>. Each file becomes a resource named after its file name without
# the extension, upper-cased: forms/TIType.kfd is the RCDATA resource "TITYPE",
# which TForm::LoadForm("TIType") reads; forms/Logo.bmp is the BITMAP "LOGO"
# that a description names as Picture = 'Logo'.
#
# For an executable the resources are compiled into it; for a library they
# travel with it to every executable that links it.
function(korven_add_forms target)
  if(NOT KORVEN_WIN32)
    return()
  endif()
  set(rc_text "")
  set(inputs "")
  foreach(file IN LISTS ARGN)
    get_filename_component(path "${file}" ABSOLUTE)
    get_filename_component(name "${file}" NAME_WE)
    get_filename_component(ext "${file}" LAST_EXT)
    string(TOUPPER "${name}" resource)
    string(TOLOWER "${ext}" ext)
    if(ext STREQUAL ".kfd")
      set(type RCDATA)
    elseif(ext STREQUAL ".bmp")
      set(type BITMAP)
    else()
      message(FATAL_ERROR "korven_add_forms(${target}): ${file} is neither a .kfd description nor a .bmp picture")
    endif()
    string(APPEND rc_text "${resource} ${type} \"${path}\"\n")
    list(APPEND inputs "${path}")
  endforeach()

  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.rc")
  file(GENERATE OUTPUT "${rc}" CONTENT "${rc_text}")
  # windres does not report the files an .rc includes: rebuild when one changes.
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${inputs}")

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_sources(${target} PRIVATE "${rc}")
  else()
    # A resource in a static library would be dropped by the linker, since no
    # code refers to it: hand the object to the executables instead.
    add_library(${target}_forms OBJECT "${rc}")
    target_sources(${target} INTERFACE $<TARGET_OBJECTS:${target}_forms>)
    add_dependencies(${target} ${target}_forms)
  endif()
endfunction()
