#pragma once

// What went wrong on a connection to the server, as the operator is told it.
enum class LinkFailure {
    General, // fits no other kind
    Send,    // writing the request failed
    Receive, // reading the answer failed
    Connect, // the connection could not be made
    Lookup,  // the server's name could not be resolved
};
