// A part of the shell that another part must not include.
#pragma once
