// Ending the game in order when the session asks it to stop (SIGTERM, SIGINT, SIGHUP).
#pragma once

// Call before the toolkit starts any thread, so every thread leaves these signals to us.
void holdTerminationSignals();

// Once the application exists: a held signal quits its event loops as closing the window would.
void quitOnTerminationSignals();
