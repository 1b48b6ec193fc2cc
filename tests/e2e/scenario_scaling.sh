# shellcheck shell=bash
# At 96, 120, 144 and 192 dpi (100 % to 200 %) everything the two dialogs show
# fits: each caption, label, field text, list entry and button text inside its
# control, measured with the control's own font; each control inside its panel
# on the skin; the check box inside its strip. The tray logos come at the
# small-icon size, from an image of exactly that size. dialog_fit.exe, the
# program assembled as its entry point assembles it, measures all this at the
# scaling it starts with.

scenario_dialogs_fit_at_every_scaling() {
    local fit="$TUCKAWAY_E2E_HELPERS/dialog_fit.exe" dpi out result=0
    [ -f "$fit" ] || e2e_fail "no dialog_fit.exe in $TUCKAWAY_E2E_HELPERS (it is built with the whole tree)" || return 1
    for dpi in 96 120 144 192; do
        e2e_scaling "$dpi" || e2e_fail "could not set $dpi dpi" || return 1
        out="$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.$dpi.out"
        (cd "$(dirname "$fit")" && timeout 60 wine "./$(basename "$fit")" "$dpi") >"$out" 2>&1 ||
            result=1
        sed 's/^/    /' "$out" >&2
    done
    e2e_scaling_reset || e2e_fail "could not put the scaling back to 96 dpi" || return 1
    [ "$result" -eq 0 ] || e2e_fail "something does not fit at some scaling (above)"
}
