# SPDX-License-Identifier: GPL-3.0-or-later
# ovra_embed_resources(target name dir)
# Embeds every plain file directly inside `dir` (hidden files skipped) into
# `target` under the resource prefix /ovra, so Resources finds them by name.
# For a static library Qt builds the resources as an object library that is
# linked into every executable using the target: no Q_INIT_RESOURCE needed.
# A folder without files embeds nothing and still builds.
function(ovra_embed_resources target name dir)
  file(GLOB candidates LIST_DIRECTORIES false CONFIGURE_DEPENDS "${dir}/*")
  set(files "")
  foreach(path IN LISTS candidates)
    get_filename_component(file_name "${path}" NAME)
    if(NOT file_name MATCHES "^\\.")
      list(APPEND files "${path}")
    endif()
  endforeach()
  if(files)
    qt6_add_resources(${target} ${name}
      PREFIX "/ovra"
      BASE "${dir}"
      FILES ${files})
  endif()
endfunction()
