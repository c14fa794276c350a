-- Wireshark dissector for radlink frame traces (RADLINK_TRACE=trace.pcapng): link type USER0, each packet a
-- direction byte (0 to the module, 1 from it) and the bytes of one block on the serial line.
--   wireshark -X lua_script:radlink.lua trace.pcapng
--   tshark -X lua_script:radlink.lua -r trace.pcapng -T fields -e radlink.command
-- or copy it into ~/.local/lib/wireshark/plugins/.

local radlink = Proto("radlink", "Radlink serial exchange")

local directions = { [0] = "to module", [1] = "from module" }
local f = {
    direction = ProtoField.uint8("radlink.direction", "Direction", base.DEC, directions),
    family = ProtoField.string("radlink.family", "Family"),
    command = ProtoField.string("radlink.command", "Command"),
    code = ProtoField.uint8("radlink.code", "Command code", base.HEX),
    address = ProtoField.uint16("radlink.address", "Target address", base.HEX),
    snap_address = ProtoField.bytes("radlink.snap.address", "Module address"),
    snap_operation = ProtoField.uint8("radlink.snap.operation", "Operation", base.HEX,
                                      { [0x55] = "read", [0xAA] = "write" }),
    snap_register = ProtoField.uint8("radlink.snap.register", "Register", base.HEX),
    data = ProtoField.bytes("radlink.data", "Data"),
}
radlink.fields = { f.direction, f.family, f.command, f.code, f.address, f.snap_address, f.snap_operation,
                   f.snap_register, f.data }

-- CEL and ORLNET configuration frames (AB BC CD, or AC BC CD over an ORLNET route) share most codes.
local config = {
    [0xD1] = "READ_LOCAL", [0xD2] = "SET_CHANNEL", [0xD3] = "SET_RATE", [0xD4] = "SEARCH", [0xD5] = "READ_CONFIG",
    [0xD6] = "WRITE_CONFIG", [0xD7] = "UPGRADE_BLOCK", [0xD8] = "UPGRADE_END", [0xD9] = "RESTART",
    [0xDA] = "FACTORY_RESET", [0xDB] = "UPGRADE_BEGIN", [0xDC] = "SEARCH_BY_ID/ONLINE_TIME",
    [0xDD] = "LED/POLLING_TIME", [0xDE] = "SECURITY", [0xDF] = "PASSWORD",
}
local io = { [0xD4] = "IO_DIR_ALL", [0xD5] = "IO_READ", [0xD6] = "IO_WRITE", [0xD7] = "AD_READ" }
local network = { [0xD1] = "SEND_DATA", [0xD2] = "ROUTE_LOCAL", [0xD3] = "ROUTE_REMOTE", [0xD5] = "LED_BROADCAST" }

local function name(table, code)
    return table[code] or string.format("0x%02X", code)
end

function radlink.dissector(tvb, pinfo, tree)
    if tvb:len() < 1 then return 0 end
    pinfo.cols.protocol = "RADLINK"
    local subtree = tree:add(radlink, tvb(), "Radlink serial exchange")
    local dir = tvb(0, 1):uint()
    subtree:add(f.direction, tvb(0, 1))
    local b = tvb(1):tvb()
    local n = b:len()
    local family, command = "", ""
    local function byte(i) return b(i, 1):uint() end

    if n >= 4 and (byte(0) == 0xAB or byte(0) == 0xAC) and byte(1) == 0xBC and byte(2) == 0xCD then
        family = byte(0) == 0xAC and "ORLNET route" or "CEL/ORLNET"
        command = name(config, byte(3))
        subtree:add(f.code, b(3, 1))
        -- requests from READ_CONFIG on are addressed: a 16-bit network address follows the command
        if dir == 0 and n >= 6 and byte(3) >= 0xD5 and byte(3) <= 0xDB then subtree:add(f.address, b(4, 2)) end
    elseif n >= 4 and byte(0) == 0xDE and byte(1) == 0xDF and byte(2) == 0xEF then
        family, command = "CEL IO", name(io, byte(3))
        subtree:add(f.code, b(3, 1))
    elseif n >= 3 and byte(0) == 0xA5 then
        family, command = "ORLNET network", name(network, byte(2))
        subtree:add(f.code, b(2, 1))
    elseif n >= 8 and byte(0) == 0x5A and byte(1) == 0x5F and byte(2) == 0xFA then
        local op = byte(6)
        family = "SNAP"
        command = string.format("%s 0x%02X", op == 0x55 and "READ" or op == 0xAA and "WRITE" or "?", byte(7))
        subtree:add(f.snap_address, b(3, 3))
        subtree:add(f.snap_operation, b(6, 1))
        subtree:add(f.snap_register, b(7, 1))
    end
    if family ~= "" then
        subtree:add(f.family, family)
        subtree:add(f.command, family .. " " .. command)
    end
    if n > 0 then subtree:add(f.data, b()) end
    pinfo.cols.info = string.format("%s %s%s (%d bytes)", dir == 0 and "->" or "<-", family,
                                    command ~= "" and (" " .. command) or "", n)
    return tvb:len()
end

DissectorTable.get("wtap_encap"):add((wtap_encaps or wtap).USER0, radlink)
