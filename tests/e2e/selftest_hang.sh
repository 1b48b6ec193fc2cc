# shellcheck shell=bash
# Sourced by run.sh only with E2E_SELFTEST=1: a scenario that never ends, so
# the watchdog has to end it, and the Tuckaway.exe it started, within the limit.
#   E2E_SELFTEST=1 E2E_ONLY=selftest E2E_SCENARIO_TIMEOUT=20 bash tests/e2e/run.sh
# must print "FAIL scenario_selftest_hang (...the watchdog ended it...)" and no
# Tuckaway.exe may be left running.

scenario_selftest_hang() {
    e2e_start_tuckaway
    e2e_wait_for "Tuckaway's first settings" e2e_reg_is HideQ3Func REG_SZ Control || return 1
    e2e_log "Tuckaway runs (pid $E2E_STARTED_PID); hanging on purpose"
    sleep 100000
}
