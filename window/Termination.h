// Ending the game when the session asks it to stop (SIGTERM, SIGINT, SIGHUP), and never later than a bound once it ends.
#pragma once

// Call before the toolkit starts any thread, so every thread leaves these signals to one guard of our own.
// Until the event loop runs, a held signal ends the process at once: there is nothing yet to end in order.
void holdTerminationSignals();

// Once the application exists and its loop is about to run: a held signal quits the loop as closing the window would.
void quitOnTerminationSignals();

// Once the loop has ended with STATUS: a signal now, or a teardown that outlasts a bound, ends the process with it.
void boundTheTeardown(int status);
