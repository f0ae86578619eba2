# The program's frame log against the pictures mirelta-frame-watch saw reach the server:
#
#   awk -f match_frames.awk FRAME_LOG SERVER_FRAMES
#
# FRAME_LOG has "<ms> <kind> <crc>" per state the program presented, SERVER_FRAMES "<ms> <crc>"
# per whole-panel picture the server got, with a third word when the watch could not read that
# picture's own pixels ("overtaken", "unread"). Writes "key value" lines:
#
#   presented N       states in the frame log
#   server_frames M   pictures the server got, before and after the session too
#   session_frames S  of those, the ones from the session's first state found to its last
#   found F           the most states whose checksums appear among the pictures in the same order
#   unreadable U      pictures of the session the watch could not read
#   missing X         states neither found nor accounted for by an unreadable picture
#   kind_K C          states of each kind K
#
# "found" is the longest common subsequence of the two checksum sequences (Hunt and Szymanski's
# way: every state against each picture with its checksum, latest first), so states that repeat a
# picture, states that never arrived and repaints the session did not present cannot throw the
# count off as a greedy walk would.
FNR == NR {
    if (NF >= 3) {
        want[++n] = $3
        kinds[$2]++
    }
    next
}
NF >= 2 {
    got[++m] = $2
    unreadable[m] = NF >= 3
    if (!unreadable[m]) {
        at[$2] = at[$2] " " m
    }
}

END {
    # ends[k]: the earliest picture a common subsequence of length k can end at; chain[k]: the
    # node of that subsequence's last match, whose links lead back to its first.
    length_ = 0
    nodes = 0
    for (i = 1; i <= n; i++) {
        count = split(at[want[i]], places, " ")
        for (j = count; j >= 1; j--) {
            q = places[j] + 0
            low = 1
            high = length_ + 1
            while (low < high) {
                mid = int((low + high) / 2)
                if (ends[mid] >= q) {
                    high = mid
                } else {
                    low = mid + 1
                }
            }
            if (low > length_ || q < ends[low]) {
                ends[low] = q
                node_at[++nodes] = q
                node_state[nodes] = i
                node_back[nodes] = low > 1 ? chain[low - 1] : 0
                chain[low] = nodes
                if (low > length_) {
                    length_ = low
                }
            }
        }
    }
    first = 0
    second = 0
    last = 0
    if (length_ > 0) {
        last = node_at[chain[length_]]
        last_state = node_state[chain[length_]]
        for (node = chain[length_]; node != 0; node = node_back[node]) {
            second = first
            first = node_at[node]
            first_state = node_state[node]
        }
        # The first or last states may have fallen on pictures the watch could not read.
        while (first_state > 1 && first > 1 && unreadable[first - 1]) {
            first--
            first_state--
        }
        while (last_state < n && last < m && unreadable[last + 1]) {
            last++
            last_state++
        }
        # The repaint of the whole window when "Старт" hides the settings may already show the
        # first state; the panel's own picture of it right after is the session's first frame.
        while (first < m && first + 1 != second && !unreadable[first + 1] &&
               got[first + 1] == got[first]) {
            first++
        }
    }
    unread = 0
    for (q = first; q > 0 && q <= last; q++) {
        unread += unreadable[q]
    }
    missing = n - length_ - unread
    print "presented " n
    print "server_frames " m
    print "session_frames " (length_ > 0 ? last - first + 1 : 0)
    print "found " length_
    print "unreadable " unread
    print "missing " (missing > 0 ? missing : 0)
    for (kind in kinds) {
        print "kind_" kind " " kinds[kind]
    }
}
