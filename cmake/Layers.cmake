# The layers under src/, bottom up: each folder and the folders its files may
# include besides their own. The build (the targets and what they link) and the
# layering check (cmake/CheckLayers.cmake) both read this list; a folder under
# src/ that is not here fails the check.
set(KVN_LAYERS regmap vb ui qt link gpib sim program bridge instruments shell chip adutil)

set(KVN_USES_regmap "")
set(KVN_USES_vb "")
set(KVN_USES_ui vb)
# The front end knows no form: it shows whatever controls a form holds.
set(KVN_USES_qt vb ui)
set(KVN_USES_link regmap vb ui)
set(KVN_USES_gpib vb ui)
set(KVN_USES_sim regmap vb ui link gpib)
# Only the Program builds the devices, simulated or real.
set(KVN_USES_program regmap vb ui link gpib sim)

# The form folders, bottom up as they use each other; all of them are built into
# kvn_program. Each may include the layers under the Program (not sim), the
# Program, and the form folders before it here.
set(KVN_FORM_LAYERS program bridge instruments shell chip adutil)
set(_kvn_lower program)
foreach(layer IN LISTS KVN_FORM_LAYERS)
  if(NOT layer STREQUAL "program")
    set(KVN_USES_${layer} regmap vb ui link gpib ${_kvn_lower})
    list(APPEND _kvn_lower ${layer})
  endif()
endforeach()
unset(_kvn_lower)

# Includes that run back up that order, each allowed as the one header named
# here (the README of the folder it leaves says why): the bridge panel's unload
# unloads the chip form first; the start-up form opens the chip form; the chip
# form's menu opens the A/D form, and its power down stops an A/D run.
set(KVN_UP_bridge chip/KVN58C3_Main.h)
set(KVN_UP_shell chip/KVN58C3_Main.h)
set(KVN_UP_chip adutil/frmADUtil.h)

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
