# The layers under src/, bottom up: each folder and the folders its files may
# include besides their own. The build (the targets and what they link) and the
# layering check (cmake/CheckLayers.cmake) both read this list; a folder under
# src/ that is not here fails the check.
set(KVN_LAYERS regmap vb ui link gpib sim program shell bridge chip adutil instruments qt)

set(KVN_USES_regmap "")
set(KVN_USES_vb "")
set(KVN_USES_ui vb)
set(KVN_USES_link regmap vb ui)
set(KVN_USES_gpib vb ui)
set(KVN_USES_sim regmap vb ui link gpib)
# The forms and the Program that owns them see every layer below and each other.
set(KVN_FORM_LAYERS program shell bridge chip adutil instruments)
foreach(layer IN LISTS KVN_FORM_LAYERS)
  set(KVN_USES_${layer} regmap vb ui link gpib sim ${KVN_FORM_LAYERS})
endforeach()
set(KVN_USES_qt regmap vb ui link gpib sim ${KVN_FORM_LAYERS})

# The only layer that may include Qt.
set(KVN_QT_LAYER qt)

# The CMake target that builds each layer: the form folders are built into kvn_program.
foreach(layer IN LISTS KVN_LAYERS)
  string(REPLACE "/" "_" name "${layer}")
  set(KVN_TARGET_${layer} kvn_${name})
endforeach()
foreach(layer IN LISTS KVN_FORM_LAYERS)
  set(KVN_TARGET_${layer} kvn_program)
endforeach()

# The layer of a path relative to src/ ("chip/AutoScan.cpp" -> "chip"); the
# longest matching folder wins, should a layer ever nest in another's folder.
# Empty when no layer holds it.
function(kvn_layer_of rel out)
  set(found "")
  foreach(layer IN LISTS KVN_LAYERS)
    string(LENGTH "${layer}/" n)
    string(LENGTH "${found}" have)
    string(SUBSTRING "${rel}" 0 ${n} head)
    if(head STREQUAL "${layer}/" AND n GREATER have)
      set(found ${layer})
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()
