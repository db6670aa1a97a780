#pragma once

// The category manager's 删除: after a question, deletes the chosen category with all its
// articles and closes the gap in the positions.
void delete_category();
